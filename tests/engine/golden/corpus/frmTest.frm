VERSION 5.00
Begin VB.Form frmTest
   BackColor       =   &H8000000F&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "UserForm1"
   ClientHeight    =   4935
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   9945.001
   BeginProperty Font
      Name            =   "Tahoma"
      Size            =   8.25
      Charset         =   204
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   4935
   ScaleWidth     =   9945.001
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.Label Label1
      Caption         =   "Label1"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   360
      TabIndex        =   0
      Top             =   360
      Width           =   1440
      WordWrap        =   -1
   End
   Begin VB.TextBox TextBox1
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   360
      Left            =   3120
      TabIndex        =   1
      ToolTipText     =   "user"
      Top             =   360
      Width           =   1440
   End
   Begin VB.ComboBox ComboBox1
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   360
      Left            =   5520
      TabIndex        =   2
      ToolTipText     =   "value"
      Top             =   360
      Width           =   1440
   End
   Begin VB.CheckBox CheckBox1
      Caption         =   "CheckBox1"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   120
      TabIndex        =   4
      Tag             =   "SWITCH"
      Top             =   1200
      Width           =   2160
   End
   Begin VB.CheckBox CheckBox2
      Caption         =   "CheckBox2"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   120
      TabIndex        =   5
      Top             =   1800
      Width           =   2160
   End
   Begin VB.OptionButton OptionButton1
      Caption         =   "OptionButton1"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   120
      TabIndex        =   6
      Top             =   2520
      Width           =   2160
   End
   Begin VB.OptionButton OptionButton2
      Caption         =   "OptionButton2"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   360
      Left            =   120
      TabIndex        =   7
      Top             =   3120
      Width           =   2160
   End
   Begin VB.ComboBox ComboBox2
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   360
      Left            =   5520
      TabIndex        =   8
      ToolTipText     =   "types"
      Top             =   1200
      Width           =   1440
   End
   Begin VB.TextBox TextBox2
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   360
      Left            =   3120
      TabIndex        =   9
      Tag             =   "59198"
      ToolTipText     =   "last name"
      Top             =   1200
      Width           =   1440
   End
   Begin VB.CommandButton btnStyle
      Caption         =   "Init Moder Style"
      BackColor       =   &H8000000F&
      Height          =   480
      Left            =   2640
      TabIndex        =   10
      Top             =   1800
      Width           =   2159
   End
   Begin VB.CommandButton btnItem
      Caption         =   "get Item By Index"
      BackColor       =   &H8000000F&
      Height          =   480
      Left            =   2640
      TabIndex        =   11
      Top             =   2520
      Width           =   2160
   End
   Begin VB.Label lbVersion
      Caption         =   "Label1"
      BackColor       =   &H8000000F&
      ForeColor       =   &H80000012&
      Height          =   1440
      Left            =   6480
      TabIndex        =   12
      Top             =   3480
      Width           =   3360
      WordWrap        =   -1
   End
   Begin VB.ListBox ListBox1
      BackColor       =   &H80000005&
      ForeColor       =   &H80000008&
      Height          =   2355
      Left            =   7320
      TabIndex        =   3
      ToolTipText     =   "List"
      Top             =   360
      Width           =   1800
   End
End
Attribute VB_Name = "frmTest"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False


Option Explicit

Dim MStyleItem      As clsModernStyle


Private Sub btnItem_Click()
    'MStyleItem.getItemByIndex(1)
    With MStyleItem.getItemByName(TextBox1.Name)
        .ColorBackGroundOff = vbRed
        .ColorBackGroundOn = vbGreen
        .BtnClear.ForeColor = vbBlue
    End With
End Sub

Private Sub btnStyle_Click()
    Call MStyleItem.Initialize(Me)
End Sub

Private Sub Form_Initialize()
    With Me
        .StartUpPosition = 0
        .left = Application.left + 0.5 * (Application.width - .width)
        .top = Application.top + 0.5 * (Application.height - .height)
    End With

    ComboBox1.AddItem 1
    ComboBox1.AddItem 2
    ComboBox1.AddItem 3
    ComboBox1.AddItem 4

    ComboBox2.AddItem 1
    ComboBox2.AddItem 2
    ComboBox2.AddItem 3
    ComboBox2.AddItem 4
    
    ListBox1.AddItem 1
    ListBox1.AddItem 2
    ListBox1.AddItem 3

    Set MStyleItem = New clsModernStyle
    lbVersion.Caption = MStyleItem.Version
End Sub
